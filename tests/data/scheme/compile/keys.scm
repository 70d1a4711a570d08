// %%Keys: a later section replaces the earlier one's bindings and names.
%%Keys
  caCUT ( [ctrl] 'X' ) 'Cut'
%%Map 1 1
%%Keys
  caCUT ( [ctrl] 'X' | [shift] DELETE ) 'Cut to clipboard'
  caCOPY ( [ctrl, shift] 'c' | [ctrl] INSERT )
  caSETBOOKMARK0 ( [ctrl] 'K', '0' ) 'Set bookmark 0'
  caUNDO ( [alt] BACKSPACE ) 'Undo'
  caPRINTSEL 'Print selection'
