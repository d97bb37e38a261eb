// Replaced by the imaging library's sources.
