<?php
declare(strict_types=1);

namespace Tarnwick\Reports;

use InvalidArgumentException;

/**
 * Reports the snippets of each category of a library.
 * @package Tarnwick
 */
#[\Attribute(\Attribute::TARGET_CLASS)]
final class CategoryReport
{
    public const LIMIT = 0x40;
    private const MASK = 0b1111_0000;
    private const MODE = 0o644;
    private const OLD_MODE = 0755;
    private const ROWS = 1_000;
    private const RATIO = 2.5e-3;
    private const HALF = .5;

    /** @var array<string, list<string>> */
    private array $categories = [];

    public function __construct(private readonly string $title = 'Delphi Code')
    {
    }

    // Adds one title under its category.
    public function add(string $category, string $title): static
    {
        if ($category === '' || strlen($title) > self::LIMIT) {
            throw new InvalidArgumentException("Bad entry: \"$title\" in {$category}");
        }
        $this->categories[$category][] = $title;
        return $this;
    }

    # Shell-style comments work too.
    public function count(?string $category = null): int
    {
        return match (true) {
            $category === null => array_sum(array_map('count', $this->categories)),
            isset($this->categories[$category]) => count($this->categories[$category]),
            default => 0,
        };
    }

    public function render(): string
    {
        $out = '';
        foreach ($this->categories as $name => $titles) {
            sort($titles, SORT_NATURAL | SORT_FLAG_CASE);
            $out .= sprintf("%-20s %3d\n", $name, count($titles));
            foreach ($titles as $i => $t) {
                $out .= "  {$i}: $t\t(${name})\n";
            }
        }
        $single = 'It\'s a single-quoted \\ string with $no variables
over two lines';
        $sql = <<<SQL
            SELECT title, start, finish
              FROM snippets
             WHERE category = '$name' AND title LIKE "%{$this->title}%"
            SQL;
        $plain = <<<'EOT'
        Now-document: $nothing {$here} is \expanded
        EOT;
        $listed = [<<<TXT
            first
            TXT, 'second'];
        return $out . $single . $sql . $plain . implode(',', $listed);
    }

    public static function fromLines(iterable $lines): self
    {
        $report = new self();
        foreach ($lines as $line) {
            [$category, $title] = explode(';', trim($line), 2) + [1 => ''];
            $report->add($category, $title);
        }
        return $report;
    }
}

enum Format: string
{
    case Text = 'text';
    case Html = 'html';
}

interface Writer { public function write(string $text): void; }

abstract class BaseWriter implements Writer
{
    protected int|float $written = 0;
    abstract protected function target(): string;
}

?>
<html>
<body>
<h1>Report</h1>
<p>Total: <?= $total ?> snippets</p>
<?php if ($total === 0) { ?>
<p>No snippets.</p>
<?php } ?>
</body>
</html>
<?php
$report = CategoryReport::fromLines(file('library.txt', FILE_IGNORE_NEW_LINES) ?: []);
$total = $report?->count() ?? 0;
$fn = fn(int $x): int => $x ** 2 <=> $x % 3;
echo $total, PHP_EOL, __LINE__, $fn(0x1F), true && !false, null;
if ($total > 0):
    print "ok";
endif;
