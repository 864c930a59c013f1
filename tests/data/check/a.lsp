;;; 壁を描く
(defun c:kabe (/ p) (princ))
;;; 窓
(defun c:mado () (princ))
