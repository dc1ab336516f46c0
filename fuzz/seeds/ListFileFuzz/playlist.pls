[playlist]
File1=/a
file2=/b
Title2=B
