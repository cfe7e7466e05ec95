# nothing read yet
matrices

frobnicate 1
view 1
