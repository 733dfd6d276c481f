// Placeholder for a platform area that has no sources yet.
