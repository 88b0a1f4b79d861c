%MOTWRITE  placeholder
