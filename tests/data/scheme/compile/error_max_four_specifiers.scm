// Fails: at most four specifiers.
%%Handlers
  1 'a' 'abcde' 1
