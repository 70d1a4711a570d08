// Fails: equals expected.
%%Language
  Name 'x'
