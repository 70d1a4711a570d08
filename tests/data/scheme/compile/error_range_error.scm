// Fails: range error.
%%Language
  IndentStep = 21
