# A refused operation ends the script, naming its line and saying why
matrix 2 2 A
1 2
3 4
rowops 1
R2 <- R2 - 3 R1
R1 <- 0 R1
end
