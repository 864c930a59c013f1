;;; 線分
(defun c:line2 (a b / c)
  (princ "x\\\"\"") ; c
  (defun c:in () 1))
;| it"s |;
(defun c:z () 1)
