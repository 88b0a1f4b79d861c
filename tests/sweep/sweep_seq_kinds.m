function kinds = sweep_seq_kinds ()
%SWEEP_SEQ_KINDS Kinds of axis sequence for the seq input of eul2rot and
%   rot2eul in the input sweep: good ones of each kind, and every way to get
%   one wrong.
  kinds = {
    "seq 'ZXY' (intrinsic)",       'ZXY'
    "seq 'zxy' (extrinsic)",       'zxy'
    "seq 'ZXZ' (proper Euler)",    'ZXZ'
    "seq 'zXy' (mixed case)",      'zXy'
    "seq 'ZZY' (neighbours alike)", 'ZZY'
    "seq 'ZX'",                    'ZX'
    "seq 'ZXYZ'",                  'ZXYZ'
    "seq 'abc'",                   'abc'
    "seq ''",                      ''
    "seq 3 x 1 char",              ['Z'; 'X'; 'Y']
    "seq 2 x 3 char",              ['ZXY'; 'ZXY']
    'seq "ZXY" (a string)',        "ZXY"
    "seq {'ZXY'}",                 {'ZXY'}
    "seq 90 (double)",             90
  };
end
