#include "records/recordpage.h"

#include <algorithm>

int nearestIn(int count, int current, Move move, const std::function<bool(int)> &accepts)
{
    switch (move) {
    case Move::Premier:
        for (int n = 0; n < count; ++n)
            if (accepts(n))
                return n;
        break;
    case Move::Precedent:
        for (int n = std::min(current, count) - 1; n >= 0; --n)
            if (accepts(n))
                return n;
        break;
    case Move::Suivant:
        for (int n = std::max(current + 1, 0); n < count; ++n)
            if (accepts(n))
                return n;
        break;
    case Move::Dernier:
        for (int n = count - 1; n >= 0; --n)
            if (accepts(n))
                return n;
        break;
    }
    return current;
}
