/* ring_buffer.c - a fixed-size byte queue.
 *
 * The buffer never allocates: the caller owns the storage.
 */
#include <stddef.h>
#include <string.h>

#define RING_OK     0
#define RING_FULL  -1

typedef struct {
    unsigned char *data;
    size_t size;      /* capacity in bytes */
    size_t head, tail;
    int full;
} ring_t;

static size_t ring_used(const ring_t *r)
{
    if (r->full)
        return r->size;
    return (r->head + r->size - r->tail) % r->size;
}

int ring_put(ring_t *r, const void *src, size_t n)
{
    const unsigned char *p = src;
    if (n > r->size - ring_used(r))
        return RING_FULL;   // nothing is written
    while (n-- > 0) {
        r->data[r->head] = *p++;
        r->head = (r->head + 1) % r->size;
    }
    r->full = r->head == r->tail && r->size != 0;
    return RING_OK;
}

const char *ring_name = "ring\tbuffer \"v1\"";
const char newline = '\n';
const unsigned mask = 0xFFu, big = 1000000UL;
const double ratio = 2.5e-3;
