%C3DWRITE  placeholder
