%TRCREAD  placeholder
