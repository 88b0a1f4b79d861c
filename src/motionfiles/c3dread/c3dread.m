%C3DREAD  placeholder
