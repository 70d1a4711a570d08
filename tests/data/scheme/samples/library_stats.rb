# frozen_string_literal: true

require 'json'
require_relative "library/reader"

=begin
Statistics of a snippet library: titles per category, sizes and
the most common words. This block comment runs over lines.
=end

module Tarnwick
  # Collects counts over the snippets of a library.
  class LibraryStats
    include Enumerable
    attr_reader :title, :categories

    LIMIT = 0x40
    MASK = 0b1010_1010
    MODE = 0o755
    MILLION = 1_000_000
    RATIO = 2.5e-3
    THIRD = 1/3r
    ROOT = 2i
    @@instances = 0

    def initialize(title = 'Delphi Code', stop_words: %w[a an the of])
      @title = title
      @categories = Hash.new { |h, k| h[k] = [] }
      @stop_words = stop_words
      @@instances += 1
      $stderr.puts "stats ##{@@instances} for #{title}" if $DEBUG
    end

    def add(category, snippet_title, text)
      raise ArgumentError, "empty title in \"#{category}\"" if snippet_title.empty?

      @categories[category] << { title: snippet_title, size: text.bytesize }
      self
    end

    def each(&block)
      return enum_for(:each) unless block_given?

      @categories.each_pair { |name, items| items.each { |item| yield name, item } }
    end

    def largest(limit = LIMIT)
      sort_by { |_, item| -item[:size] }.first(limit)
    end

    def words(text)
      text.downcase.scan(/[a-z']+/).reject { |w| @stop_words.include?(w) }.tally
    end

    def summary
      total = sum { |_, item| item[:size] }
      single = 'It\'s single-quoted: #{not} interpolated \\ here
and over two lines'
      report = <<~REPORT
        Library: #{@title}
        Categories: #{@categories.size}, bytes: #{total}
        Tab\there and a "quote"
      REPORT
      legacy = [<<-EOS.strip, 'tail'].join
        Indented end label
        EOS
      raw = <<~'RAW'
        Nothing #{expanded} here
      RAW
      [report, legacy, raw, single, %q(single (nested)), %Q{double #{total}}, %i<a b>].join("\n")
    end

    def to_json(*args)
      { title: @title, "categories" => @categories.keys, :count => count }.to_json(*args)
    end

    def self.from_file(path)
      stats = new(File.basename(path, '.ini'))
      File.foreach(path).with_index(1) do |line, number|
        next if line =~ /^\s*[;#]\/?/ || line.strip.empty?

        category, title = line.chomp.split('=', 2)
        stats.add(category, title || "line #{number}", `cat #{path}`)
      end
      stats
    rescue Errno::ENOENT => e
      warn "missing: #{e.message}"
      nil
    ensure
      $stdout.flush
    end

    private

    def ratio?(a, b) = b.zero? ? nil : (a.to_f / b).round(2) <=> RATIO

    protected def mask(x) = x & MASK | (x >> 2) ^ ~MODE
  end
end

stats = Tarnwick::LibraryStats.from_file(ARGV.fetch(0, 'Tarnwick.Ini'))
case stats&.categories&.size
when nil then puts 'no library'
when 0..9 then puts "few categories: #{stats.categories.keys.sort.join(', ')}"
else
  stats.largest(5).each_with_index do |(name, item), i|
    printf("%2d. %-20s %s (%d)\n", i + 1, name, item[:title], item[:size])
  end
end
puts :done, :"quoted symbol", defined?(Foo), __FILE__, nil.to_a, true && !false
