// Fails: context respecified.
%%Language
  ContextStates = (1 2 [1]) (2 [3])
