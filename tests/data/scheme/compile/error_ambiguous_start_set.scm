// Fails: ambiguous start set.
%%Tokens
  1 '[a-c]' 'x' 'y' 0
  2 'c' 'x' 'y' 0
