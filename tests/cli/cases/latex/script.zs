# Worked solutions as LaTeX documents for pdflatex while the switch is on
matrix 3 3 A
4 2 -2
2 10 4
-2 4 9
matrix 3 1 b
6
26
15
working on
latex on
invert 1
system 1 2
latex off
trace 1
