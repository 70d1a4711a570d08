unit WordCount;

{ Counts the words of a text: runs of letters and digits. }

interface

type
  TWordCounter = class
  private
    FCount: Integer;
    FSeparators: set of Char;
  public
    constructor Create;
    function CountWords(const Text: string): Integer;
    property Count: Integer read FCount write FCount default 0;
  end;

exports
  CountAll name 'count_all' index 1 resident;

implementation

const
  Tab = #9;
  CrLf = #13#10;
  Mask = $00FF;

constructor TWordCounter.Create;
begin
  inherited Create;
  FSeparators := [' ', Tab, #$0D, #10, '.', ',', ';'];
end;

(* A word starts where a separator
   is followed by anything else. *)
function TWordCounter.CountWords(const Text: string): Integer;
var
  I: Integer;
  InWord: Boolean;
begin
  Result := 0;
  InWord := False;
  for I := 1 to Length(Text) do
    if Text[I] in FSeparators then
      InWord := False
    else if not InWord then
    begin
      InWord := True;
      Inc(Result);  // one more word
    end;
  FCount := Result;
  if Result > 1.5e3 then
    ShowMessage('That''s a long text');
end;

end.
