(defun c:outer ()
  (defun ,1 0 () 1)
  (defun p q r () 1))
(defun C:TWIN (x,,y) 2)
