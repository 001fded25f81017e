#pragma once
// The benchmarks' baseline decode: plain libjpeg with no Tollamar code in the way.

#include <cstdio>
#include <jpeglib.h>
#include <string>
#include <vector>

// The whole file; exits the program when it cannot be read.
std::vector<unsigned char> readFile(const std::string& path);

// Reads the file and decodes it with libjpeg's defaults plus the scale and transform
// asked for, into one buffer for the whole picture. hugePages puts the picture in
// memory advised for 2 MiB pages, as Tollamar does, to compare the decoding work alone.
void bareDecode(const std::string& path, unsigned denom, J_DCT_METHOD method, bool hugePages = false);
