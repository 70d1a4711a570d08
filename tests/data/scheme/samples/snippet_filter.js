// Filters the snippet tree as the user types.
'use strict';

const MIN_LENGTH = 2;

/* Returns the titles that contain every word of the query,
   ignoring case. */
function filterTitles(titles, query) {
  const words = query.toLowerCase().split(/\s+/).filter(w => w.length >= MIN_LENGTH);
  if (words.length === 0) return titles.slice();
  return titles.filter(title => {
    const lower = title.toLowerCase();
    return words.every(word => lower.includes(word));
  });
}

class TreeFilter {
  constructor(tree, input) {
    this.tree = tree;
    this.input = input;
    this.timer = null;
    input.addEventListener('input', () => this.schedule());
  }

  schedule() {
    clearTimeout(this.timer);
    this.timer = setTimeout(() => this.apply(), 150);
  }

  apply() {
    const shown = filterTitles(this.tree.titles, this.input.value);
    this.tree.show(shown);
    document.title = `Tarnwick - ${shown.length} of ${this.tree.titles.length}
      snippets \`shown\``;
    console.log("applied", shown.length, 0x1F, 1.5e3, undefined);
  }
}

export { filterTitles, TreeFilter };
