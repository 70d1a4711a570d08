// Exports the snippets of a library to a folder, one file per title.
#nullable enable
#define TRACE_EXPORT
using System;
using System.Collections.Generic;
using System.IO;
using System.Linq;
using System.Threading.Tasks;

namespace Tarnwick.Samples;

/// <summary>
/// Writes every snippet of a category to its own file.
/// </summary>
/// <remarks>Titles become file names.</remarks>
public sealed class LibraryExport : IDisposable
{
    private const int MaxNameLength = 0x40;
    private static readonly char[] Invalid = { '<', '>', ':', '"', '\\', '|', '?', '*', '\'' };
    private readonly Dictionary<string, int> _counts = new();
    private bool _disposed;

    /* Sizes: every literal form of a number. */
    public static readonly long Limit = 1_000_000L;
    public const uint Mask = 0xFFFF_0000u;
    public const ulong Bits = 0b1010_1010UL;
    public const double Ratio = 2.5e-3;
    public const float Half = .5f;
    public const decimal Price = 9.95m;

    public string Folder { get; init; } = @"C:\Snippets\Export";
    public required string Title { get; set; }

    public event EventHandler<string>? Exported;

    public LibraryExport(string folder) => Folder = folder;

    /// <summary>Exports one category.</summary>
    /// <param name="category">The category's name.</param>
    public async Task<int> ExportAsync(string category, IEnumerable<(string Title, string Text)> items)
    {
        ObjectDisposedException.ThrowIf(_disposed, this);
        var written = 0;
        foreach (var (title, text) in items)
        {
            if (string.IsNullOrWhiteSpace(title)) continue;
            var name = Sanitize(title);
            var path = Path.Combine(Folder, category, $"{name}.txt");
            await File.WriteAllTextAsync(path, text).ConfigureAwait(false);
            _counts[category] = _counts.TryGetValue(category, out var n) ? n + 1 : 1;
            Exported?.Invoke(this, path);
            written++;
        }
        return written;
    }

    private static string Sanitize(string title)
    {
        var chars = title.Select(c => Invalid.Contains(c) ? '_' : c).ToArray();
        var name = new string(chars);
        return name.Length > MaxNameLength ? name[..MaxNameLength] : name;
    }

    public string Summary()
    {
        var lines = from pair in _counts
                    where pair.Value > 0
                    orderby pair.Key ascending
                    select $"{pair.Key,-20}{pair.Value,5:D}";
        var verbatim = @"Export of ""{Title}""
to C:\Snippets, over
several lines";
        var both = $@"Folder {Folder}\{Title} with {{braces}} and ""quotes""
next line";
        var escaped = $"Tab\there, brace {{ and }} stay, {_counts.Count} entries\n";
        var raw = """
            A raw string with "quotes" and \no escapes
            """;
        var rawInterpolated = $"""Total: {_counts.Count}""";
        return string.Join(Environment.NewLine, lines) + verbatim + both + escaped + raw + rawInterpolated;
    }

#if TRACE_EXPORT
    [System.Diagnostics.Conditional("DEBUG")]
    private static void Trace(string message) => Console.Error.WriteLine(message);
#endif

    public void Dispose()
    {
        if (_disposed) return;
        _disposed = true;
        GC.SuppressFinalize(this);
    }
}

public record struct Range(int Start, int End)
{
    public readonly int Length => End - Start;
    public static Range operator +(Range a, Range b) => new(a.Start, b.End);
}

internal static class Checks
{
    public static unsafe int Bits(object? value) => value switch
    {
        null => 0,
        int i when i is > 0 and < 10 => i << 2,
        string { Length: 0 } => -1,
        _ => checked(sizeof(int) * 8 >>> 1),
    };

    public static IEnumerable<int> Evens(int upTo)
    {
        for (int i = 0; i <= upTo; i += 2)
            yield return i;
        var slice = new[] { 1, 2, 3 }[1..^1];
        _ = slice ?? default;
    }
}
