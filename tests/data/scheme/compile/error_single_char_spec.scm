// Fails: single char spec.
%%Words
  'x' 'ab' 1
