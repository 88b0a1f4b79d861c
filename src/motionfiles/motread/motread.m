%MOTREAD  placeholder
