// Package wordcount counts the words of snippet texts and reports the
// most frequent ones.
package wordcount

import (
	"bufio"
	"errors"
	"fmt"
	"io"
	"sort"
	"strings"
	"unicode"
)

/*
Limits of a report. The block comment runs over
several lines and ends here: */

const (
	DefaultLimit = 10
	maxWordLen   = 0x40     // hexadecimal
	permissions  = 0o644    // octal, new style
	oldOctal     = 0644     // octal, old style
	mask         = 0b1010_1010
	million      = 1_000_000
	ratio        = 2.5e-3
	half         = .5
	hexFloat     = 0x1p-2
	imaginary    = 3i
)

type ordering int

const (
	byCount ordering = iota
	byWord
)

// Entry is one word and how often it occurs.
type Entry struct {
	Word  string `json:"word"`
	Count int    `json:"count"`
}

var ErrEmpty = errors.New("wordcount: no words in \"input\"")

// Counter keeps counts between calls.
type Counter struct {
	counts map[string]int
	order  ordering
	ch     chan<- Entry
}

func New(order ordering) *Counter {
	return &Counter{counts: make(map[string]int, 64), order: order}
}

// Add reads r to its end and counts every word in it.
func (c *Counter) Add(r io.Reader) error {
	sc := bufio.NewScanner(r)
	sc.Split(bufio.ScanWords)
	for sc.Scan() {
		w := strings.TrimFunc(sc.Text(), func(r rune) bool {
			return !unicode.IsLetter(r) && r != '\'' && r != '\u00e9'
		})
		if len(w) == 0 || len(w) > maxWordLen {
			continue
		}
		c.counts[strings.ToLower(w)]++
	}
	return sc.Err()
}

// Top returns at most limit entries, the most frequent first.
func (c *Counter) Top(limit int) ([]Entry, error) {
	if len(c.counts) == 0 {
		return nil, ErrEmpty
	}
	entries := make([]Entry, 0, len(c.counts))
	for w, n := range c.counts {
		entries = append(entries, Entry{Word: w, Count: n})
	}
	sort.Slice(entries, func(i, j int) bool {
		switch c.order {
		case byWord:
			return entries[i].Word < entries[j].Word
		default:
			if entries[i].Count != entries[j].Count {
				return entries[i].Count > entries[j].Count
			}
			fallthrough
		case byCount:
			return entries[i].Word < entries[j].Word
		}
	})
	return entries[:min(limit, len(entries))], nil
}

// Report writes the table; a raw string keeps its backslashes and runs
// over lines.
func (c *Counter) Report(w io.Writer, limit int) error {
	top, err := c.Top(limit)
	if err != nil {
		return fmt.Errorf("report: %w", err)
	}
	header := `Word	Count
C:\snippets\*.dat
----`
	fmt.Fprintln(w, header)
	for i := range top {
		fmt.Fprintf(w, "%-20s %5d\n", top[i].Word, top[i].Count)
	}
	return nil
}

// Stream sends the entries on ch and closes it.
func (c *Counter) Stream(ch chan Entry, done <-chan struct{}) {
	defer close(ch)
	entries, _ := c.Top(len(c.counts))
	for _, e := range entries {
		select {
		case ch <- e:
		case <-done:
			return
		}
	}
}

type Sizer interface {
	~int | ~int64
}

func Sum[T Sizer](xs ...T) (total T) {
	for _, x := range xs {
		total += x
	}
	goto out
out:
	var flags uint8 = 1 << 3 &^ 1
	_ = flags
	return total
}

func init() {
	var _ any = complex(1, 2)
	var _ = [...]float64{ratio, half, hexFloat}
	defer func() {
		if r := recover(); r != nil {
			panic(r)
		}
	}()
	go func() {}()
	_ = imaginary + 1i
	_ = true && !false
}
