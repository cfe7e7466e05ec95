matrix 2 51 too wide
