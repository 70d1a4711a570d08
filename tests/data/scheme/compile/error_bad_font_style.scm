// Fails: bad font style.
%%Effects
  1 [fsBold, 'x'] 0 0
