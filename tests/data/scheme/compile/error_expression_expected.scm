// Fails: expression expected.
%%Map
  1 (2 +)
