// Fails: duplicate word.
%%Words
  'x' '' 1 [0]
  'X' '' 2 [0 1]
