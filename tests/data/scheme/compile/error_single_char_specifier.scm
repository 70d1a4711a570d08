// Fails: single character specifier.
%%Words
  'x' 'ab' 1
