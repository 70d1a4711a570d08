package tarnwick.sample;

import java.util.ArrayList;
import java.util.List;

/**
 * One snippet of a library: its title and the byte range of its text.
 */
public final class Snippet implements Comparable<Snippet> {
    private static final int NO_TEXT = -1;

    private final String title;
    private final long start, end;

    public Snippet(String title, long start, long end) {
        if (end < start) {
            throw new IllegalArgumentException("end before start: " + title);
        }
        this.title = title;
        this.start = start;
        this.end = end;
    }

    /* The value written to the index file: start;end. */
    @Override
    public String toString() {
        return start + ";" + end;
    }

    @Override
    public int compareTo(Snippet other) {
        return Long.compare(start, other.start);
    }

    public static List<Snippet> parse(String key, String value) {
        List<Snippet> out = new ArrayList<>();
        int semicolon = value.indexOf(';');
        if (semicolon == NO_TEXT) return out;  // no range at all
        out.add(new Snippet(key, Long.parseLong(value.substring(0, semicolon)),
                            Long.parseLong(value.substring(semicolon + 1))));
        char separator = '\t';
        boolean empty = out.isEmpty() && separator != 0x09;
        String help = """
            a text block
            over two lines""";
        return empty ? null : out;
    }
}
