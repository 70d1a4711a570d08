// %%AutoReplace and %%Templates, each given twice: the second replaces.
%%AutoReplace
  'old' = 'gone'
%%Templates
  'gone' = 'gone'
%%AutoReplace
  'teh' = 'the'
  'adn' = 'and\n'
  actionkeys = ';,.\{Return}\{Space}'
%%Templates
  'begin' ('begin end block') = 'begin\n  |\nend;'
  'if' = 'if | then'
  hotkey = ( [ctrl shift] 'J' )
