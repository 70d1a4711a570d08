// Fails: duplicate effect.
%%Effects
  1 [] 0 0
  1 [] 0 0
