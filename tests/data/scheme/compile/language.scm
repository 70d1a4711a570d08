// Every %%Language entry.
%%Language
  Name = 'Demo'
  Case = __insensitive
  Options = __DEFAULT_OPTIONS or __OPT_WORDWRAP or __OPT_LINE_NUMBERS
  ExampleText = 'begin\n  x := 1;\nend'
  EditableStyles ('Comment', 1), ('Reserved word', 2) ('A style name that is longer', 3)
  WordWrapColumn = 72
  Gutter = _default_gutter + 6
  Anchor = [0 1]
  IndentStep = 2
  WrapOverride = '>|'
  StartState = 4
  SelTextColor = [*] clWhite
  SelTextBack = clNavy
  RightMargin = 100
  FontName = 'Lucida Console'
  FontSize = 11
  FontCharset = ANSI_CHARSET
  TabColumns = '5 9 13'
  TabDefault = 4
  ContextStates = (1 2 [1]), (3 [1 2]) (5)
  BoundStates = [1 2]
  GutterColor = clSilver
  MarginColor = [*] clWhite
  MarginWidth = 3
  GutterFontName = 'Arial'
  GutterFontSize = 7
  GutterFontColor = clMaroon
  GutterFontStyle = [fsBold, fsItalic]
%%language
  name = 'Demo language whose name runs on past thirty-five characters'
