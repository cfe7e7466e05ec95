# A student's reduction of [A | b] as one matrix, a hint first; slot 0
# reads its operations and does nothing
matrix 3 4 A
1 2 -1 3
2 4 1 9
1/2 1 1 4
hint 1
rowops 1
R2 - 2R1 -> R2
R3 = R3 - (1/2) R1

# the pivot of column 3 stands in row 2 now
R2 / 3
R3 <- R3 - 1.5 R2
R1 <- R1 + R2
end
rowops 0
swap R1 R2
end
hint 2
view 2
