read one.dat
view
matrices
