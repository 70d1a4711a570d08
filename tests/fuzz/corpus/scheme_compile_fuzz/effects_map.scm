// %%Effects with styles, default colours and hot spots, and %%Map.
%%Effects
  0 [] clBlack clWhite
  1 [fsBold] clNavy *  clWhite *
  2 [fsItalic, fsUnderline, fsStrikeout] clGreen clYellow 'hotspot'
  3 [ 4, 7, 8 ] clRed + 1 clBlue 'HotSpot'
  0 [fsBold] clBlack clWhite
%%Map
  1 1
  2 2
  10 3
  11 0
%%map 255 1
