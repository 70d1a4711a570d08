// Fails: syntax error kind.
%%Tokens
  1 21
