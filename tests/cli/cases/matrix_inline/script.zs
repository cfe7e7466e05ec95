# Exercise 3: solve A x = b by the inverse, with the answer in fractions.
matrix 3 3 A
2, 1, -1
-3, -1, 2
-2, 1/2, 2
matrix 3 1 b
8
-11
-3
invert 1
multiply 3 2
fractions on
view 3
view 4
