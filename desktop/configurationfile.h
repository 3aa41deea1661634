#pragma once

// Configuration files: the settings part of the parameter image as
// upper-case hexadecimal text, 20 bytes a line. Neither function talks to the
// device; the caller writes a loaded image or only shows it.

// Writes the active layout's image to lastSavedConfigFile. False when the file
// could not be written (the previous file, if any, is then left as it was).
bool saveConfigurationFile();

// Reads lastLoadedConfigFile into the image after checking that it is a
// complete, undamaged file of exactly the current model's size. False, with
// the image unchanged, when it is not or when the operator cancels.
bool loadConfigurationFile();

// The file size in characters that the current layout and model expect (0:
// no configuration file is defined for them).
int expectedConfigurationFileSize();
