#!/usr/bin/perl
# Builds an index of snippet titles by word from a library's index file.
use strict;
use warnings;
use v5.36;

use constant {
    LIMIT   => 0x40,
    MASK    => 0b1010_1010,
    MODE    => 0755,
    MILLION => 1_000_000,
    RATIO   => 2.5e-3,
    HALF    => .5,
};

our $VERSION = '1.02';
my %index;
my @titles;
my $library = shift @ARGV // 'Tarnwick.Ini';

open(my $fh, '<', $library) or die "cannot open \"$library\": $!\n";
my $category = '';
while (my $line = <$fh>) {
    chomp $line;
    next if $line =~ /^\s*(?:;|$)/;
    if ($line =~ m{^\[(.+)\]$}) {
        $category = $1;
        next;
    }
    my ($title, $range) = split(/=/, $line, 2);
    push @titles, "$category/$title";
    for my $word (map { lc } $title =~ m/(\w+)/g) {
        $index{$word}{$#titles} = 1;
    }
}
close $fh;

(my $clean = $library) =~ s/\.ini$//i;
(my $upper = $clean) =~ tr/a-z/A-Z/;
my $pattern = qr/^(?:\d+);(\d+)$/x;
my @stop = qw(a an the of to);
my %stop = map { $_ => 1 } @stop;
my $list = q{single 'quoted' text};
my $template = qq[Index of @titles with $#titles entries];
my $date = `date +%Y-%m-%d`;

sub top_words {
    my ($limit) = @_;
    $limit //= LIMIT;
    my @words = sort { scalar(keys %{ $index{$b} }) <=> scalar(keys %{ $index{$a} }) || $a cmp $b }
                grep { !exists $stop{$_} } keys %index;
    return @words[0 .. ($limit < @words ? $limit - 1 : $#words)];
}

sub report {
    my ($out, @words) = @_;
    my $count = scalar @words;
    my $single = 'It\'s $not interpolated \\ and runs
over two lines';
    print {$out} <<"END";
Index of $library ($count words)
Tab\there, @stop first
END
    print $out <<'RAW', "after\n";
Nothing $here is @expanded
RAW
    print $out <<~EOT;
        Indented: ${\ scalar @titles} titles
        EOT
    printf $out "%-20s %3d\n", $_, scalar keys %{ $index{$_} } for @words;
    return $count % 2 == 0 && $single ne '' ? 1 : 0;
}

my $total = report(\*STDOUT, top_words(10));
my $mask = (MODE & MASK) | (MILLION >> 4) ^ ~0;
my $ref = { name => 'index', count => $total, ratio => RATIO * HALF };
my @pairs = map { [$_, $ref->{$_}] } sort keys %$ref;
say "$_->[0] = $_->[1]" for @pairs;
say join ',', 1 .. 5, $mask, $ENV{HOME} // 'none', $0, $@, __LINE__;
warn "no titles\n" unless @titles;
exit 0;

__END__

=head1 NAME

title_index.pl - index snippet titles by word

=head1 SYNOPSIS

  perl title_index.pl Tarnwick.Ini

=cut
