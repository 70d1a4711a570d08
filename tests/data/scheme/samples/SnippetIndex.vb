Option Strict On
Option Infer On
Imports System.Collections.Generic
Imports System.IO
Imports System.Linq
Imports System.Threading.Tasks

#Const TRACE_READS = True
#Region "Snippet index"

''' <summary>
''' Reads the index file of a snippet library: one section per category,
''' one key per title, the value is "start;end".
''' </summary>
<Serializable>
Public NotInheritable Class SnippetIndex
    Implements IEnumerable(Of KeyValuePair(Of String, Range))

    Private ReadOnly _entries As New Dictionary(Of String, Range)(StringComparer.OrdinalIgnoreCase)
    Private Shared ReadOnly Separators As Char() = {";"c, ","c}
    Public Const MaxTitle As Integer = 255
    Public Const Mask As UInteger = &HFF_FF_FFUI
    Public Const Octal As Long = &O755L
    Public Const Flags As Byte = &B1010_0101
    Public Shared ReadOnly Created As Date = #2024-03-18 09:15:00#
    Public Shared ReadOnly Deadline As Date = # 12/31/2024 #

    Public Structure Range
        Public Start As Long
        Public [End] As Long
        Public ReadOnly Property Length As Long
            Get
                Return [End] - Start
            End Get
        End Property
    End Structure

    Public Event EntryRead As EventHandler(Of String)

    Public Sub New(path As String)
        If String.IsNullOrEmpty(path) Then Throw New ArgumentNullException(NameOf(path))
        Load(path)
    End Sub

    Private Sub Load(path As String)
        Dim category As String = Nothing
        For Each line In File.ReadLines(path)
            Dim trimmed = line.Trim()
            If trimmed.Length = 0 OrElse trimmed.StartsWith(";") Then
                Continue For
            ElseIf trimmed.StartsWith("[") AndAlso trimmed.EndsWith("]") Then
                category = trimmed.Substring(1, trimmed.Length - 2)
            ElseIf category IsNot Nothing Then
                Dim parts = trimmed.Split("="c)
                Dim bounds = parts(1).Split(Separators)
                _entries($"{category}\{parts(0)}") = New Range With {
                    .Start = CLng(bounds(0)), .[End] = CLng(bounds(1))
                }
#If TRACE_READS Then
                RaiseEvent EntryRead(Me, parts(0))
#End If
            End If
        Next
    End Sub

    Public Async Function TotalBytesAsync() As Task(Of Long)
        Await Task.Yield()
        Return Aggregate r In _entries.Values Into Sum(r.Length)
    End Function

    Public Function Describe(key As String) As String
        Dim r As Range
        If Not _entries.TryGetValue(key, r) Then Return "unknown ""title"""
        ' Interpolated strings: holes, formats, escapes and a nested string.
        Return $"{key}: {r.Start:N0}..{r.End:N0} ({r.Length / 1024.0:F2} KiB) {{raw}} " &
               $"{If(r.Length > 0, $"size {r.Length}", "empty")}"
    End Function

    Public Shared Function Ratio(a As Double, b As Double) As Double
        Select Case b
            Case 0 : Return Double.NaN
            Case Is < 0.5, 1.5E3 To 2.5E+3 : Return a / b * 1.0!
            Case Else
                Return (a \ 2) Mod 7 + 2 ^ 3 - 1.5e-3 + 12.5D + 9# + 7S + 3US
        End Select
    End Function

    Private Sub Report() ' a comment after code
        REM An old-style comment
        Dim text = "A string over
two lines with 'no' comment"
        Dim total = _entries.Count _
                    + 1 ' continued
        Dim ok As Boolean = total <> 0 AndAlso Not (total >= MaxTitle)
        Dim names = From e In _entries Where e.Value.Length > 0 Order By e.Key Descending Select e.Key
        Dim x? = CType(Nothing, Integer?)
        SyncLock _entries
            total <<= 2 : total >>= 1 : total &= 0
        End SyncLock
    End Sub

    Public Function GetEnumerator() As IEnumerator(Of KeyValuePair(Of String, Range)) _
        Implements IEnumerable(Of KeyValuePair(Of String, Range)).GetEnumerator
        Return _entries.GetEnumerator()
    End Function

    Private Function GetEnumerator1() As IEnumerator Implements IEnumerable.GetEnumerator
        Return GetEnumerator()
    End Function
End Class

#End Region
