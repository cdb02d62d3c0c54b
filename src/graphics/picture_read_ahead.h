#pragma once

#include <string>

// Picture files read on a thread of their own ahead of their use, so that the
// start can do other work meanwhile. clImage::LoadFile of a path read ahead
// takes that picture, waiting for the read if need be, instead of reading the
// file. A read ahead that failed is forgotten: the load then reads the file
// itself and reports why it failed.
void ReadPictureAhead(const std::string& path);

// Drops the pictures read ahead that nobody took (waiting for reads still
// running), once the start is over.
void ForgetPicturesReadAhead();
