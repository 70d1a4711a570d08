-- Library report: snippets per category and the largest snippets.
CREATE TABLE category (
    id      INTEGER PRIMARY KEY,
    name    VARCHAR(255) NOT NULL UNIQUE
);

CREATE TABLE snippet (
    id          INTEGER PRIMARY KEY,
    category_id INTEGER NOT NULL REFERENCES category (id),
    title       VARCHAR(255) NOT NULL,
    body        TEXT,
    created     TIMESTAMP DEFAULT CURRENT_TIMESTAMP
);

/* Categories with their snippet counts,
   the empty ones included. */
SELECT c.name AS "Category", COUNT(s.id) AS snippets,
       COALESCE(SUM(LENGTH(s.body)), 0) AS total_size
FROM category c
    LEFT JOIN snippet s ON s.category_id = c.id
WHERE c.name <> 'Don''t show'
GROUP BY c.name
ORDER BY snippets DESC, c.name;

SELECT title, LENGTH(body) AS size
FROM snippet
WHERE created >= :since AND category_id = ?1
ORDER BY size DESC
LIMIT 10;
