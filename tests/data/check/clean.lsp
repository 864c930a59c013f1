(defun c:only () 1)
