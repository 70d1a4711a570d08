// Fails: string expected.
%%Language
  FontName = 10
