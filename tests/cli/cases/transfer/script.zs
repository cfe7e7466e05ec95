# Matrices to and from spreadsheets, GNU Octave and LaTeX
matrix 2 2 x(A)
1/2 -0
1e-300 3
export 1 out.csv
export 1 out.txt
export 1 out.tex
fractions on
export 1 frac.tex
export 1 out.xls
export 0 out.csv
import sheet.tsv
import v.txt a vector
import comma.csv
import missing.csv
import out.txt
matrices
dump 2
dump 4
