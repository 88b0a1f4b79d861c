%TRCWRITE  placeholder
