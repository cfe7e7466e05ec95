read long_lines.dat
matrices
dump 1
read many.dat
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
