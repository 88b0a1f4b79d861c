%ASFREAD  placeholder
