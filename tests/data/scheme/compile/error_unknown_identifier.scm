// Fails: unknown identifier.
%%Map
  clRed1 1
