(defun c:Kabe () (princ "別の壁"))
(defun helper () 1)
