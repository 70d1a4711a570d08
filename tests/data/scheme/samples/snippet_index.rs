//! An index of snippet titles by word, with a small query language.
//!
//! Doc comments at the top of a module start with `//!`.
/*! Or an inner block: /*! it nests */ like any block comment. */

use std::collections::{BTreeMap, HashSet};
use std::fmt;

/* A block comment /* with a nested one */ still
   runs on here, over lines, until its own end. */

//// Four slashes: an ordinary comment again.

/// Largest number of titles one query returns.
pub const MAX_HITS: usize = 0x40;
const FLAGS: u8 = 0b0000_1111;
const MODE: u32 = 0o755;
static SCALE: f64 = 2.5e-3;
const BIG: i128 = 1_000_000i128;
const HALF: f32 = 0.5_f32;

/** Outer block documentation /* with a nested comment */ for the index. */
#[derive(Debug, Default, Clone)]
pub struct Index<'a> {
    words: BTreeMap<&'a str, HashSet<usize>>,
    titles: Vec<&'a str>,
}

#[allow(dead_code)]
#[cfg(all(unix, feature = "fast"))]
mod platform {}

impl<'a> Index<'a> {
    /// Adds a title and indexes each of its words.
    pub fn add(&mut self, title: &'a str) -> usize {
        let id = self.titles.len();
        self.titles.push(title);
        for word in title.split(|c: char| !c.is_alphanumeric() && c != '\'') {
            if word.is_empty() {
                continue;
            }
            self.words.entry(word).or_default().insert(id);
        }
        id
    }

    /// Titles holding every word of the query.
    pub fn query(&self, query: &str) -> Vec<&'a str> {
        let mut hits: Option<HashSet<usize>> = None;
        'words: for word in query.split_whitespace() {
            let Some(ids) = self.words.get(word) else {
                hits = Some(HashSet::new());
                break 'words;
            };
            hits = match hits {
                None => Some(ids.clone()),
                Some(h) => Some(h.intersection(ids).copied().collect()),
            };
        }
        let mut out: Vec<_> = hits.unwrap_or_default().into_iter().collect();
        out.sort_unstable();
        out.iter().take(MAX_HITS).map(|&i| self.titles[i]).collect()
    }
}

impl fmt::Display for Index<'_> {
    fn fmt(&self, f: &mut fmt::Formatter<'_>) -> fmt::Result {
        write!(f, "{} titles, {} words", self.titles.len(), self.words.len())
    }
}

fn characters() -> [char; 6] {
    ['a', '\n', '\'', '\\', '\u{1F600}', '\x7f']
}

fn bytes() -> (&'static [u8], u8, u8) {
    (b"bytes\x00", b'x', b'\t')
}

fn strings() -> Vec<String> {
    let plain = "tab\there, quote \" and a
line break inside the string";
    let raw = r"C:\no\escapes";
    let hashed = r#"a "quoted" word"#;
    let twice = r##"contains "# but ends here"##;
    let thrice = r###"one "## two"###;
    let raw_bytes = br#"raw "bytes""#;
    let cstr = c"for C";
    let _ = (raw_bytes, cstr);
    vec![plain.into(), raw.to_string(), hashed.into(), twice.into(), thrice.into()]
}

trait Scored {
    fn score(&self) -> f64 {
        SCALE * f64::from(FLAGS) + HALF as f64
    }
}

async fn fetch(id: u64) -> Result<u64, Box<dyn std::error::Error>> {
    let v = unsafe { std::ptr::read_volatile(&id) };
    Ok(v.wrapping_mul(BIG as u64) >> 3 | MODE as u64)
}

fn ranges() -> u32 {
    let mut total = 0u32;
    for i in 0..10 {
        total += i;
    }
    for j in 1..=3 {
        total ^= j << 2;
    }
    let pair = (1, 2.0);
    total + pair.0 + if pair.1 > 1.5 { 1 } else { 0 }
}

#[cfg(test)]
mod tests {
    use super::*;

    #[test]
    fn finds_titles() {
        let mut index = Index::default();
        index.add("Read a file");
        index.add("Write a file");
        assert_eq!(index.query("a file").len(), 2);
        assert!(index.query("missing").is_empty());
        let _ = (characters(), bytes(), strings(), ranges(), true, false);
    }
}
