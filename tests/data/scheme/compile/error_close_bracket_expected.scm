// Fails: close bracket expected.
%%Words
  'x' '' 1 [0 1
