#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Writes width x height pixels (blue-green-red, top row first, no padding) as a PNG file at path
// (UTF-8) with the system's own encoder, Windows Imaging Component. False when it could not; the
// file may then be incomplete. COM must be initialised on the calling thread.
bool SavePng(const std::string& path, const std::uint8_t* bgr, int width, int height);

// The same pixels as the bytes of a PNG file, for the clipboard; empty when they could not be
// encoded.
std::vector<std::uint8_t> PngBytes(const std::uint8_t* bgr, int width, int height);
