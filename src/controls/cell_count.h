#pragma once
// How many columns and rows of cells a grid shows, the partly visible ones
// at the right and bottom edges included.

namespace lk63 {

struct TCellCount {
    int Columns = 0;
    int Rows = 0;
};

}  // namespace lk63
