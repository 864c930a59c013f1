; ü•ª
(defun c:sj () 1)
