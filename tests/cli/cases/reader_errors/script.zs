read short.dat
matrices
read words.dat
matrices
read big.dat
matrices
# the workspace stays as it was
read missing.dat
matrices
