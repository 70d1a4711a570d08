// Fails: range order.
%%Words
  'x' '[z-a]' 1
