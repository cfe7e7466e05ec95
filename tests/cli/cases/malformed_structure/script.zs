read empty.dat
matrices
read only_header.dat
matrices
read ends_in_matrix.dat
matrices
dump 1
dump 2
read ends_after_name.dat
matrices
dump 1
dump 2
read trailing_garbage.dat
matrices
dump 1
dump 2
read leftover_row.dat
matrices
dump 1
dump 2
read names_30.dat
matrices
dump 1
dump 2
read header_10k.dat
matrices
dump 1
read matrices_21.dat
matrices
dump 1
dump 2
dump 3
dump 4
dump 5
dump 6
dump 7
dump 8
dump 9
dump 10
dump 11
dump 12
dump 13
dump 14
dump 15
dump 16
dump 17
dump 18
dump 19
dump 20
read zero_dims.dat
matrices
dump 1
dump 2
dump 3
