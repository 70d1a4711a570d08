// A typed store for snippets kept in the browser.
import { EventEmitter } from "events";
import type { Snippet, Category } from './model';

/**
 * One saved snippet with its category.
 * @see Category
 */
export interface StoredSnippet extends Snippet {
  readonly id: number;
  category?: Category | null;
  tags: string[];
}

/* Limits, in every literal form. */
const MAX_ITEMS = 0x400;
const FLAGS = 0b1010_0101;
const MODE = 0o644;
const BIG = 9_007_199_254_740_993n;
const RATIO = 2.5e-3;
const HALF = .5;
const PER_PAGE = MAX_ITEMS / 16 / 2;
const PATH_SPLIT = /[/\\]+|\.\.\//g, WORDS = /\w+/;

type Key = keyof StoredSnippet;
type Sorter<T> = (a: T, b: T) => number;
type Partial2<T> = { [P in keyof T]?: T[P] };
declare const VERSION: string;
enum Order { ByTitle = 1, ByDate, BySize }

function sealed(ctor: Function): void {
  Object.seal(ctor);
  Object.seal(ctor.prototype);
}

@sealed
export class SnippetStore<T extends StoredSnippet = StoredSnippet> extends EventEmitter {
  #items = new Map<number, T>();
  private static instances = 0;
  protected order: Order = Order.ByTitle;
  public nextId = 1;

  constructor(private readonly prefix: string = 'snippets') {
    super();
    SnippetStore.instances++;
  }

  get size(): number {
    return this.#items.size;
  }

  add(item: Omit<T, "id">): T {
    if (this.#items.size >= MAX_ITEMS) {
      throw new RangeError(`store "${this.prefix}" is full (${MAX_ITEMS} items)`);
    }
    const stored = { ...item, id: this.nextId++ } as T;
    this.#items.set(stored.id, stored);
    this.emit('added', stored);
    return stored;
  }

  find(predicate: (s: T) => boolean): T | undefined {
    for (const item of this.#items.values()) {
      if (predicate(item)) return item;
    }
    return undefined;
  }

  sorted(by: Key = "title"): T[] {
    const compare: Sorter<T> = (a, b) =>
      String(a[by]).localeCompare(String(b[by]), undefined, {
        numeric: true, // "2" before "10"
        sensitivity: "base", /* ignore case */
      });
    return [...this.#items.values()].sort(compare);
  }

  async load(url: string): Promise<number> {
    const response = await fetch(`${url}/${this.prefix}.json`);
    if (!response.ok) return 0;
    const data: unknown = await response.json();
    if (!Array.isArray(data)) return -1;
    for (const raw of data as T[]) this.add(raw);
    return data.length;
  }

  describe(item: T): string {
    // Template literals run over lines and hold escapes and substitutions.
    return `#${item.id}\t${item.title}
  category: ${item.category?.name ?? "none"}, tags: ${item.tags.join(", ")}
  price: $${(item.tags.length * RATIO).toFixed(2)} \` done`;
  }
}

export function isStored(value: unknown): value is StoredSnippet {
  return typeof value === "object" && value !== null && "id" in value;
}

export abstract class Exporter {
  abstract write(items: readonly StoredSnippet[]): Promise<void>;
  protected escape(text: string): string {
    return text.replace(/[<>&]/g, (c) => ({ "<": "&lt;", ">": "&gt;", "&": "&amp;" })[c] ?? c);
  }
}

namespace Limits {
  export const values = [MAX_ITEMS, FLAGS, MODE, RATIO, HALF] satisfies number[];
  export let flag: boolean = !!(FLAGS & 1) || (MODE >>> 2) !== 0;
}

let counter: bigint = BIG * 2n;
counter **= 1n;
const store = new SnippetStore();
void store.load("https://example.org").then((n) => console.log(n, counter, Limits.values));
label: for (let i = 0; i < 3; i++) { if (i === 1) continue label; }
