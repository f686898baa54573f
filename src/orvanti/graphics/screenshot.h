// Numbered screenshots of the GL back buffer as 32-bit TGA files; the in-game
// screenshot key calls SaveScreenshot. The number starts at 0 in every run.
#pragma once

// Writes "<directory>/<prefix>_NNNNN.tga" with the next number of this run;
// null directory is ".", null prefix "screenshot". The number goes up only
// when the file was written.
void SaveScreenshot(const char* directory, const char* prefix);
